#include "win32_pictures.h"

namespace quillmarten {

namespace {

HANDLE loadPicture(int id, UINT type, int size) {
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type, size, size,
                      LR_DEFAULTCOLOR);
}

} // namespace

Win32Pictures::Win32Pictures()
    : running_(static_cast<HICON>(loadPicture(picture_id::running, IMAGE_ICON, 32))),
      paused_(static_cast<HICON>(loadPicture(picture_id::paused, IMAGE_ICON, 32))),
      stopped_(static_cast<HICON>(loadPicture(picture_id::stopped, IMAGE_ICON, 32))),
      about_(static_cast<HICON>(loadPicture(picture_id::about, IMAGE_ICON, 32))),
      balloon_(static_cast<HBITMAP>(loadPicture(picture_id::balloon, IMAGE_BITMAP, 0))),
      hand_(static_cast<HCURSOR>(loadPicture(picture_id::hand, IMAGE_CURSOR, 32))) {}

Win32Pictures::~Win32Pictures() {
    DestroyIcon(running_);
    DestroyIcon(paused_);
    DestroyIcon(stopped_);
    DestroyIcon(about_);
    DeleteObject(balloon_);
    DestroyCursor(hand_);
}

} // namespace quillmarten
