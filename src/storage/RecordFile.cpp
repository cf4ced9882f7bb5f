#include "storage/RecordFile.h"

RecordFile::~RecordFile() = default;

StoreLocation RecordFile::locationAt(const QString &)
{
    return StoreLocation::Same;
}
