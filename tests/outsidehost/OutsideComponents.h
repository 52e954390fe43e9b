#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Registers the outside host's own components: a connection without data,
   its session, no access rules and the fonts of its language. */
void outside_register_components(void);

/* Makes the application object and closes the main window, once it shows,
   after the given milliseconds; reports on standard output what it closed. */
void outside_close_main_window_after(int milliseconds);

#ifdef __cplusplus
}
#endif
