/* Resource ids shared by kestrane.rc and the C++ sources.
   Plain #defines only: this header is also read by the resource compiler. */
#ifndef KESTRANE_RESOURCE_IDS_H
#define KESTRANE_RESOURCE_IDS_H

/* Application icon, loaded with MAKEINTRESOURCE(IDI_KESTRANE). */
#define IDI_KESTRANE 1

/* The abort button's pictures, stored as RT_RCDATA holding the PNG files' bytes. */
#define IDR_RUNNING_PICTURE 101
#define IDR_PAUSED_PICTURE 102

#endif
