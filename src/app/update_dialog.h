#pragma once

#include "framework/window/base_dialog.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

class QRadioButton;

// The versions an update offer names: the one available and the one running.
struct SUpdateOfferText {
    QString newVersion;
    QString ownVersion;
};

// How the user answered an update offer.
enum class EUpdateChoice { Closed, Download, Postpone };

struct SUpdateAnswer {
    EUpdateChoice choice = EUpdateChoice::Closed;
    // With Postpone: in how many days to offer it again (1, 7 or 30).
    int reminderDays = 0;
};

// The offer of a newer version, found by the automatic check: what it is,
// and Download, or Postpone with when to be reminded again.
class CUpdateDialog final : public NWindows::CBaseDialog {
public:
    // `flags` is the flags word: the reminder starts at the check's own
    // rhythm (tomorrow for a daily check, next month for a monthly one, next
    // week otherwise). Change Log calls `showChangeLog`; without one the
    // button is hidden.
    CUpdateDialog(const SUpdateOfferText& offer, std::uint32_t flags,
                  std::function<void()> showChangeLog, QWidget* parent = nullptr);

    // The button that ended the dialog, Closed while it runs.
    SUpdateAnswer Answer() const;

private:
    int ReminderDays() const;

    std::array<QRadioButton*, 3> m_reminders;
    std::function<void()> m_showChangeLog;
};

// Shows the offer modally over `owner` and tells how it was answered.
SUpdateAnswer RunUpdateDialog(const SUpdateOfferText& offer, std::uint32_t flags,
                              std::function<void()> showChangeLog, QWidget* owner);
