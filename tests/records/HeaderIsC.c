/* Compiles the card library's header as C11: its layout checks run here too. */
#include "zamgrb.h"

int zamgrbHeaderIsC(void) { return (int)ZamgrbCameraLinkMode(8, 10, 1); }
