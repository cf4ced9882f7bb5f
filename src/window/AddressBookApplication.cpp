#include "window/AddressBookApplication.h"

#include "platform/InstanceGuard.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramDirectory.h"
#include "platform/WindowDirectory.h"
#include "storage/StoreError.h"
#include "storage/StoreRecovery.h"
#include "window/LayoutTables.h"

namespace {
const QString TrayTitle = QStringLiteral("KardelTray");
} // namespace

AddressBookApplication::AddressBookApplication(const WindowServices &services)
    : m_services(services)
{
}

AddressBookApplication::~AddressBookApplication() = default;

bool AddressBookApplication::start()
{
    // A second copy does not even look for the tray program.
    if (m_services.instance->anotherInstanceRunning())
        return false;
    if (m_services.windows->findWindow(TrayTitle) == 0)
        return false;
    if (!openStore()) {
        m_startFailed = true;
        return false;
    }
    m_window = std::make_unique<AddressBookWindow>(m_services, m_store);
    m_window->start();
    return true;
}

bool AddressBookApplication::openStore()
{
    m_storePath = programFile(m_services.programDirectory, QStringLiteral("rubri.dat"));
    StoreError error;
    if (!SheetStore::createIfMissing(m_storePath, &error)) {
        m_services.messages->show(error.message(), MsgStyle::Critical | MsgStyle::TopMost);
        return false;
    }
    if (!m_store.open(m_storePath)) {
        m_services.messages->show(m_store.error().message(), MsgStyle::Critical | MsgStyle::TopMost);
        return false;
    }
    // A save that a crash or a power cut interrupted was settled by the open: say which sheet.
    if (const StoreRecovery &recovery = m_store.recovery(); recovery.outcome != StoreRecovery::Nothing)
        m_services.messages->show(recovery.message(QString::fromUtf8(folderTabLayouts().at(size_t(recovery.sheet)).caption)),
                                  MsgStyle::Exclamation | MsgStyle::TopMost);
    return true;
}
