#pragma once

class CBlockBase;

// Leaves open the differences that would make the merged document under
// `root` use a namespace prefix it no longer declares, or read an element's
// prefix as another namespace than the element's own: each side may be
// sound on its own, yet one side's dropped or changed declaration (xmlns:p,
// or a default xmlns) meets an element or attribute that the other side
// added with that prefix. Opened are the difference that chose the user of
// the prefix, the one that chose the declaration that now binds it, and
// those that dropped a declaration of it in scope; where no difference is
// involved (an input that was so already), nothing changes. Walks without
// recursion, in linear time.
void OpenUndeclaredPrefixes(CBlockBase& root);
