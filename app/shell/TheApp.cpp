// The application object, alone in its file: the quorvel executable links
// it, the tests make their own.
#include "app/shell/VendropApp.h"

CVendropApp theApp;
