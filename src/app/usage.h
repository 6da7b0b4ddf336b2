#pragma once

// The program's version, from the build ("1.0.1338").
const char* ProgramVersion();

// "quillmere " and the version, with a line end: what "--version" prints.
// The text of "--help" is the language file's "Usage.Text".
const char* VersionText();
