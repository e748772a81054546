#ifndef QUILLMARTEN_DESKTOP_PICTURE_IDS_H
#define QUILLMARTEN_DESKTOP_PICTURE_IDS_H

// Resource numbers of the pictures compiled into the programs, shared by their resource scripts
// and the code that loads them, which is why they are macros.
#define QUILLMARTEN_PICTURE_RUNNING 101
#define QUILLMARTEN_PICTURE_PAUSED 102
#define QUILLMARTEN_PICTURE_ABOUT 103
#define QUILLMARTEN_PICTURE_BALLOON 104
#define QUILLMARTEN_PICTURE_HAND 105
#define QUILLMARTEN_PICTURE_STOPPED 106

#endif
