#pragma once

// File-name wildcards with the rules Windows users know from file dialogs:
//
//   "*"  any run of characters, dots included;
//   "?"  exactly one character (a code point);
//   "."  a dot; but a dot followed by nothing or only by "*"s also matches
//        the end of a name that has no dot left there, so "*.*" and "a*.*"
//        match names without an extension and "*." matches only those;
//   a "*" right before such a dot never runs past the name's last dot, so
//        "*." does not match "a.b".
//
// Everything else matches itself, byte for byte: the caller folds the case of
// both texts first. Both texts are UTF-8.
bool WildcardMatches(const char* pattern, const char* name);
