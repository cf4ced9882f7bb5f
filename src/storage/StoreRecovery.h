#pragma once

#include <QString>

// What opening the store found of a save that a crash or a power cut had interrupted.
struct StoreRecovery
{
    enum Outcome {
        Nothing,  // no journal, or one torn before the store was touched: removed without a word
        PutBack,  // the sheet was put back as it was before the save
        KeptNew,  // the save had written the whole sheet; only the journal was left
        Failed,   // the journal could not be read, applied or removed; saving stays blocked
    };

    Outcome outcome = Nothing;
    int sheet = 0;         // 0..43 for PutBack and KeptNew
    QString journalName;   // for Failed
    QString reason;        // for Failed: short Italian reason, without a final full stop

    // What to tell the user, naming the sheet by its folder's caption; empty for Nothing.
    QString message(const QString &folderCaption) const;
};
