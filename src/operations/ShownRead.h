#pragma once

#include <QString>

// The tracker of the last complete read, on the port it was read from: what an
// update logs as the tracker before it. The fields may show a file or edits
// since, so they cannot tell.
struct ShownRead {
    QString port; // as the update log names ports; "" when no read holds
    QString version;
    QString station;
    QString point; // the restore point the read left; "" when none was saved
};
