// The program's resources: string table, dialog templates, menus, toolbars
// and images, compiled from res/quorvel.rc when the program is built.
//
// Start-up: call quorvel::resources::Install() once before the first
// CString::LoadString or AfxMessageBox(UINT) (the application's start-up
// and every test program that loads strings through CString do). The other
// functions here need no start-up.
//
// Images: BITMAP and ICON resources are our own PNG and BMP files in res/.
// FindImageFile gives a file's host path; LoadBitmap, LoadIcon and
// LoadImage decode it through the graphics library. An icon's mask is the
// file's transparency (alpha below one half), the usual 32 x 32 size being
// the file's own.
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

#ifndef MAKEINTRESOURCE
#define MAKEINTRESOURCE(id) \
    (reinterpret_cast<LPTSTR>(static_cast<uintptr_t>(static_cast<WORD>(id))))
#endif
#ifndef IS_INTRESOURCE
#define IS_INTRESOURCE(name) ((reinterpret_cast<uintptr_t>(name) >> 16) == 0)
#endif
#ifndef IMAGE_BITMAP
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#endif
#ifndef LR_DEFAULTCOLOR
#define LR_DEFAULTCOLOR 0x0000
#define LR_DEFAULTSIZE 0x0040
#define LR_SHARED 0x8000
#endif

// Resources are named by number (MAKEINTRESOURCE); a name that is text
// finds nothing. Each call makes a new object, which the caller deletes
// (DeleteObject, DestroyIcon), LR_SHARED or not.
HBITMAP LoadBitmap(HINSTANCE instance, LPCTSTR name);
HICON LoadIcon(HINSTANCE instance, LPCTSTR name);
// IMAGE_BITMAP: the bitmap at its own size. IMAGE_ICON: the icon scaled to
// cx x cy when both are given, else at its own size. Null for other types.
HANDLE LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int cx, int cy, UINT flags);

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
