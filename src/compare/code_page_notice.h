#pragma once

// Tells the maker which unsupported character set a user's file uses, so
// that support for it can be added. It needs the network; until a sender is
// installed nothing is sent.
//
// A sender returns whether the maker's server confirmed that it received the
// notice.
using FCodePageNoticeSender = bool (*)(int charset);

// Installs `sender` (null: none) and returns the previous one.
FCodePageNoticeSender InstallCodePageNoticeSender(FCodePageNoticeSender sender);

// Sends the notice for `charset` (its MIBenum, 0 when unknown) when a sender
// is installed; whether the server confirmed it (false without a sender).
bool SendCodePageNotice(int charset);
