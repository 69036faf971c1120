// A host locale whose decimal point is a comma, set as the process's
// LC_NUMERIC for the lifetime of the object, to prove that the host's locale
// never reaches the device's number text.
//
// A minimal host has only the C and C.UTF-8 locales, so the locale is made
// for the test: localedef, which comes with the C library, compiles a small
// definition written here into a temporary folder that LOCPATH points to.
// Only when that fails is an installed locale with a decimal comma tried.
// Active() tells whether one is set; Why() says why not, for the skip.
#pragma once

#include <optional>
#include <string>

#include "platform/testing/TempDeviceRoot.h"

class CommaDecimalLocale {
  public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool Active() const { return m_active; }
    const std::string& Why() const { return m_why; }

  private:
    bool Build();
    bool Use(const char* name);

    bool m_active = false;
    std::string m_why;
    std::string m_previous;  // LC_NUMERIC before
    bool m_hadLocPath = false;
    std::string m_locPath;                               // LOCPATH before
    std::optional<quorvel::testing::TempFolder> m_temp;  // removed at the end
    std::string m_folder;                                // its path
};
