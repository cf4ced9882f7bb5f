#include "storage/RecordFile.h"

RecordFile::~RecordFile() = default;
