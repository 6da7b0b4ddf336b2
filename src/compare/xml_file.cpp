#include "compare/xml_file.h"

void CXMLFile::SetPath(const char16_t* newPath) {
    pendingPath.Clear();
    path = newPath;
}

const char16_t* CXMLFile::DisplayName() const {
    const char16_t* name = title.IsEmpty() ? path.Text() : title.Text();
    for (const char16_t* position = name; *position != 0; ++position)
        if (*position == u'/' || *position == u'\\')
            name = position + 1;
    return name;
}
