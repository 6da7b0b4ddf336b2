#pragma once

class CFormatList;
class QWidget;

// Saves every changed specification of `library`. When some cannot be
// written, tells the user which (owned by `owner`) and returns false; their
// changes last until the program ends.
bool SaveFormatsTellingFailures(CFormatList& library, QWidget* owner);
