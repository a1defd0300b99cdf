#pragma once

#include <QString>

// Messages and progress on standard error: on a terminal one status line that
// updates in place, into a file or pipe plain lines; with --quiet none at all,
// errors being the caller's.
class Progress {
public:
    explicit Progress(bool quiet);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Whether status lines update in place.
    bool updating() const { return updating_; }
    // A new status; a plain line only when it differs from the last.
    void status(const QString& text);
    // A message of its own line, after the status line.
    void note(const QString& text);
    // The same even with --quiet: what the user needs to undo a change.
    void always(const QString& text);

private:
    void endStatusLine();

    bool quiet_;
    bool updating_;
    bool statusShown_ = false;
    QString last_;
};
