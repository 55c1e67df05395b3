// The form resource of the main window, kept in V7430mon_en_src.fr.h.

#include "V7430mon_en_src.h"

const char* const Form1Resource =
#include "V7430mon_en_src.fr.h"
    ;
