#pragma once

// "quillmere " and the version, with a line end: what "--version" prints.
// The text of "--help" is the language file's "Usage.Text".
const char* VersionText();
