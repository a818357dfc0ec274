#pragma once
// The new-version check: once per run, shortly after start-up, the product page is asked for
// the current version; when it announces a higher one than the running program, the data
// file is backed up and the updater is started, and the caller ends the program with its
// usual closing work.

#include <QString>

namespace bw {

// The state of the check in this process: "" none has run, "0" one has started or found no
// usable version, otherwise the announced version that was not higher than the running one.
QString NewVersionState();

// Clears the state so that the check may run (the main window's load).
void ResetNewVersion();

// The updater beside the program, a setting (BWF\Para\Updater) naming its path; "" when unset.
QString UpdaterPath();

enum class VersionCheck {
    NotRun,         // a check already ran in this process
    Deferred,       // the program was busy (see CheckNewVersion): nothing asked, try later
    NoAnswer,       // no root, no page, or no version in its title
    Current,        // the announced version is not higher
    UpdateStarted,  // backed up and the updater started: the caller ends the program
    UpdateRefused,  // a higher version exists but no safe backup or no updater: told the user
};

// Runs the check for the window caption (the running version is the digits and points of it)
// and the product number. It never waits for the user: when a modal dialog or the progress
// window is open, or a transfer runs, it asks nothing, leaves the state as it was and
// returns Deferred, and the caller tries again later. The backup is a copy of the data file under
// the first free name BAK_data000.DAT ... BAK_data1000.DAT, checked to be complete; an existing
// backup is never overwritten, and without a free name or a working copy nothing is started.
VersionCheck CheckNewVersion(const QString& caption, int product);

// The updater's fixed argument: the update archive and the program file, joined by "|".
QString UpdaterArgument();

}  // namespace bw
