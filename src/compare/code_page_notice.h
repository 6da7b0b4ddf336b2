#pragma once

// Tells the maker which unsupported character set a user's file uses, so
// that support for it can be added. It needs the network; until a sender is
// installed nothing is sent.
using FCodePageNoticeSender = void (*)(int charset);

// Installs `sender` (null: none) and returns the previous one.
FCodePageNoticeSender InstallCodePageNoticeSender(FCodePageNoticeSender sender);

// Sends the notice for `charset` (its MIBenum, 0 when unknown) when a sender
// is installed; never waits for an answer.
void SendCodePageNotice(int charset);
