#include "app/usage.h"

const char* VersionText() {
    return "quillmere " QUILLMERE_VERSION "\n";
}
