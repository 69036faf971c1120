// The tables the resource compiler generates from res/quorvel.rc, each
// sorted by id (images by type, then id). Only the loaders use these.
#pragma once

#include <span>

#include "platform/resources/Templates.h"

namespace quorvel::resources::generated {

std::span<const DialogTemplate> Dialogs();
std::span<const MenuTemplate> Menus();
std::span<const ToolbarTemplate> Toolbars();
std::span<const StringResource> Strings();
std::span<const ImageResource> Images();
// The folder of the script, which image file names are relative to.
const char* ImageFolder();

}  // namespace quorvel::resources::generated
