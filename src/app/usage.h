#pragma once

// What "--help" and "--version" print on standard output.
const char* UsageText();
// "quillmere " and the version, with a line end.
const char* VersionText();
