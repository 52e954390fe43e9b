/* The component's entry for hosts that are not written in C++. */
#ifndef VELLBATCHRULE_VBR_H
#define VELLBATCHRULE_VBR_H

#ifdef __cplusplus
extern "C" {
#endif

#define VBR_EXPORT __attribute__((visibility("default")))

typedef struct vbr_face vbr_face;

/* Creates the entry object: the calling thread gets its host connection, so
   the host's components must be registered before. NULL on a failure. */
VBR_EXPORT vbr_face* vbr_face_create(void);

/* Runs the main window modally and returns when the user closes it: 0, or -1
   on a failure. Makes the application object when the host has none; -1
   without a display, or when the host's application object is no
   QApplication or lives on another thread. */
VBR_EXPORT int vbr_face_show(vbr_face* face);

/* Releases the entry object: the thread's host connection goes with it. */
VBR_EXPORT void vbr_face_release(vbr_face* face);

/* The last failure on the calling thread: its text (UTF-8) and number; ""
   and 0 after a call that succeeded. */
VBR_EXPORT const char* vbr_last_error_text(void);
VBR_EXPORT int vbr_last_error_number(void);

#ifdef __cplusplus
}
#endif

#endif
