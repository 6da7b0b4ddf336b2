#include "app/usage.h"

const char* ProgramVersion() {
    return QUILLMERE_VERSION;
}

const char* VersionText() {
    return "quillmere " QUILLMERE_VERSION "\n";
}
