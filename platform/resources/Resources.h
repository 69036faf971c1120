// The program's resources: string table, dialog templates, menus, toolbars
// and images, compiled from res/quorvel.rc when the program is built.
//
// Start-up: call quorvel::resources::Install() once before the first
// CString::LoadString or AfxMessageBox(UINT) (the application's start-up
// and every test program that loads strings through CString do). The other
// functions here need no start-up.
//
// Images: FindImageFile gives the host path of a BITMAP or ICON file (our
// own PNG and BMP files in res/). Turning it into an HBITMAP or HICON is
// the graphics library's decoder; the functions LoadBitmap, LoadIcon and
// LoadImage of the program belong with the framework layer, which links
// both (TODO for the dialogs/framework engineer: implement them there as
// FindImageFile + quorvel::gdi::LoadBitmapFile, an icon being its bitmap
// with the file's transparency as mask).
#pragma once

#include <span>
#include <string>

#include "platform/base/WinTypes.h"
#include "platform/resources/Templates.h"

// Copies string `id` into `buffer`, cut to bufferMax - 1 characters and
// terminated; returns the number of characters copied, 0 when there is no
// such string. bufferMax 0: `buffer` receives a read-only pointer to the
// string itself (it must point to a const wchar_t*), and the result is its
// length. The instance is ignored: the program has one resource module.
int LoadString(HINSTANCE instance, UINT id, LPTSTR buffer, int bufferMax);

namespace quorvel::resources {

// Installs the string table as CString's loader. Calling it again does no
// harm.
void Install();

// The text of string `id`, or null.
const wchar_t* FindString(UINT id);
const DialogTemplate* FindDialog(UINT id);
const MenuTemplate* FindMenu(UINT id);
const ToolbarTemplate* FindToolbar(UINT id);
// Bitmaps and icons are apart: bitmap 176 and icon 176 are two resources.
bool FindImageFile(UINT id, ImageType type, std::string& hostPath);

// Everything the script holds, sorted by id; for tools and tests that walk
// all resources.
std::span<const DialogTemplate> AllDialogs();
std::span<const MenuTemplate> AllMenus();
std::span<const ToolbarTemplate> AllToolbars();
std::span<const StringResource> AllStrings();
std::span<const ImageResource> AllImages();

}  // namespace quorvel::resources
