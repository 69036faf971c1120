#include "platform/testing/Printers.h"

#include "platform/base/TextConv.h"

void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << quorvel::ToUtf8(text) << '"';
}
