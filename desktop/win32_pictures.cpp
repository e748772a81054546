#include "desktop/win32_pictures.h"

#include "desktop/picture_ids.h"

namespace quillmarten {

namespace {

HANDLE loadPicture(int id, UINT type, int size) {
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size,
                      LR_DEFAULTCOLOR);
}

} // namespace

Win32Pictures::Win32Pictures()
    : running_(static_cast<HICON>(loadPicture(QUILLMARTEN_PICTURE_RUNNING, IMAGE_ICON, 32))),
      paused_(static_cast<HICON>(loadPicture(QUILLMARTEN_PICTURE_PAUSED, IMAGE_ICON, 32))),
      stopped_(static_cast<HICON>(loadPicture(QUILLMARTEN_PICTURE_STOPPED, IMAGE_ICON, 32))),
      about_(static_cast<HICON>(loadPicture(QUILLMARTEN_PICTURE_ABOUT, IMAGE_ICON, 32))),
      balloon_(static_cast<HBITMAP>(loadPicture(QUILLMARTEN_PICTURE_BALLOON, IMAGE_BITMAP, 0))),
      hand_(static_cast<HCURSOR>(loadPicture(QUILLMARTEN_PICTURE_HAND, IMAGE_CURSOR, 32))) {}

Win32Pictures::~Win32Pictures() {
    DestroyIcon(running_);
    DestroyIcon(paused_);
    DestroyIcon(stopped_);
    DestroyIcon(about_);
    DeleteObject(balloon_);
    DestroyCursor(hand_);
}

} // namespace quillmarten
