#pragma once

#include <QString>

namespace NWindows {

// The filter of a QFileDialog made from a translated filter text: pairs of a
// description and its patterns (several separated by ";"), each part ended by
// the two characters "\0", as in "XML Files (*.xml)\0*.xml\0". Each pair
// becomes "description (patterns)" with the patterns space-separated, and the
// pairs are joined by ";;". "*.*" becomes "*", because Qt's "*.*" passes over
// names without a dot. A description that already ends with its patterns in
// parentheses shows the converted ones instead, not both.
QString FileDialogFilter(const char16_t* translated);

} // namespace NWindows
