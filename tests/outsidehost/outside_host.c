/* A C host: the same through the component's C entry. */
#include "OutsideComponents.h"

#include <vellbatchrule/vbr.h>

#include <stdio.h>

int main(void)
{
    outside_register_components();
    outside_close_main_window_after(300);
    vbr_face* face = vbr_face_create();
    if (!face) {
        printf("failed: %s (%d)\n", vbr_last_error_text(), vbr_last_error_number());
        return 1;
    }
    if (vbr_face_show(face) != 0) {
        printf("failed: %s (%d)\n", vbr_last_error_text(), vbr_last_error_number());
        vbr_face_release(face);
        return 1;
    }
    vbr_face_release(face);
    printf("shown and released through the C entry\n");
    return 0;
}
