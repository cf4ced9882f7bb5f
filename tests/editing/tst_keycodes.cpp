#include <QTemporaryDir>
#include <QTest>

#include "editing/KeyCodes.h"

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

// Pure functions: nothing touches files, but each test still owns a temporary folder.
class TestKeyCodes : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void translation_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("code");
        constexpr Qt::KeyboardModifier none = Qt::NoModifier, pad = Qt::KeypadModifier,
                                       shift = Qt::ShiftModifier;
        const struct { const char *name; int key; Qt::KeyboardModifier mods; int code; } rows[] = {
            {"shift", Qt::Key_Shift, shift, 16},     {"control", Qt::Key_Control, none, 17},
            {"alt", Qt::Key_Alt, none, 18},          {"altgr", Qt::Key_AltGr, none, 18},
            {"return", Qt::Key_Return, none, 13},    {"enter", Qt::Key_Enter, pad, 13},
            {"backspace", Qt::Key_Backspace, none, 8}, {"tab", Qt::Key_Tab, none, 9},
            {"space", Qt::Key_Space, none, 32},      {"page up", Qt::Key_PageUp, none, 33},
            {"page down", Qt::Key_PageDown, none, 34}, {"end", Qt::Key_End, none, 35},
            {"home", Qt::Key_Home, none, 36},        {"left", Qt::Key_Left, none, 37},
            {"keypad down", Qt::Key_Down, pad, 40}, {"F24", Qt::Key_F24, none, 135},
            {"insert", Qt::Key_Insert, none, 45},    {"delete", Qt::Key_Delete, none, 46},
            {"A", Qt::Key_A, none, 65},              {"Z shifted", Qt::Key_Z, shift, 90},
            {"9", Qt::Key_9, none, 57},              {"backtab", Qt::Key_Backtab, shift, 9},
            {"keypad 0", Qt::Key_0, pad, 96},        {"keypad 9", Qt::Key_9, pad, 105},
            {"keypad *", Qt::Key_Asterisk, pad, 106}, {"keypad /", Qt::Key_Slash, pad, 111},
            {"F1", Qt::Key_F1, none, 112},           {"F4", Qt::Key_F4, none, 115},
            {"comma", Qt::Key_Comma, none, 188},     {"minus", Qt::Key_Minus, none, 189},
            {"exclam", Qt::Key_Exclam, shift, 49},   {"unknown", Qt::Key_unknown, none, 0},
            {"e grave", Qt::Key_Egrave, none, 0},    {"volume", Qt::Key_VolumeUp, none, 0},
            {"F25", Qt::Key_F25, none, 0},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << r.key << Qt::KeyboardModifiers(r.mods) << r.code;
    }

    void translation()
    {
        QFETCH(int, qtKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, code);
        QCOMPARE(KeyCodes::windowsKeyCode(qtKey, modifiers), code);
    }

    void shiftState_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("state");
        QTest::newRow("none") << int(Qt::NoModifier) << 0;
        QTest::newRow("shift") << int(Qt::ShiftModifier) << 1;
        QTest::newRow("ctrl") << int(Qt::ControlModifier) << 2;
        QTest::newRow("alt") << int(Qt::AltModifier) << 4;
        QTest::newRow("shift ctrl alt") << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
        QTest::newRow("shift keypad") << int(Qt::ShiftModifier | Qt::KeypadModifier) << 1;
        QTest::newRow("meta groupswitch") << int(Qt::MetaModifier | Qt::GroupSwitchModifier) << 0;
    }

    void shiftState()
    {
        QFETCH(int, modifiers);
        QFETCH(int, state);
        QCOMPARE(KeyCodes::shiftState(Qt::KeyboardModifiers(modifiers)), state);
    }
};

QTEST_GUILESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
