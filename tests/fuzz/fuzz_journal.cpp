// Any journal found at open: the open works, touches nothing outside the save's range and leaves
// no journal; a journal the reader takes is exactly what the writer makes of it.
#include "../storage/MemoryRecordFile.h"
#include "FuzzHarness.h"
#include "storage/SaveJournal.h"
#include "storage/SheetStore.h"

namespace {

struct MemoryJournal : JournalFile
{
    explicit MemoryJournal(const QByteArray &contents) : bytes(contents) {}
    Found read(QByteArray *contents) override { return *contents = bytes, exists ? Found::Journal : Found::None; }
    bool write(const QByteArray &contents) override { return bytes = contents, exists = true; }
    bool remove() override { return !(exists = false); }
    QString errorReason() const override { return QStringLiteral("errore"); }
    QString name() const override { return QStringLiteral("rubri.dat-journal"); }
    QByteArray bytes;
    bool exists = true;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // An odd first byte seals the rest with its checksum, so that the checks behind it are reached.
    QByteArray input(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    if (data[0] & 1)
        input += SaveJournal::digest(input);
    const std::optional<SaveJournal> journal = SaveJournal::decode(input);
    require(!journal || journal->encode() == input);

    QByteArray store(StoreSize, 'S');
    auto file = std::make_unique<MemoryJournal>(input);
    MemoryJournal *left = file.get();
    SheetStore opened;
    require(opened.open(std::make_unique<MemoryRecordFile>(&store), QStringLiteral("rubri.dat"), std::move(file)));
    const StoreRecovery &recovery = opened.recovery();
    require(recovery.outcome != StoreRecovery::Failed);
    require(!left->exists);
    require((recovery.outcome == StoreRecovery::Nothing) == !journal);
    if (!journal)
        require(store == QByteArray(StoreSize, 'S'));
    else {
        require(recovery.sheet == journal->sheet);
        // Before the save's range and after the old size, nothing changed.
        require(store.left(journal->writtenStart) == QByteArray(journal->writtenStart, 'S'));
        require(store.size() == (recovery.outcome == StoreRecovery::PutBack ? std::min(StoreSize, journal->oldFileSize) : StoreSize));
        if (recovery.outcome == StoreRecovery::PutBack)
            require(store.mid(journal->writtenStart, journal->oldBytes.size()) == journal->oldBytes);
    }
    return 0;
}
