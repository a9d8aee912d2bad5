#include "office/WordBasicServer.h"

#include "office/FileOpener.h"
#include "office/RtfDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <memory>
#include <optional>

namespace platform {

namespace {

const QString kProgId = QStringLiteral("Word.Basic");

class WordBasic : public DispatchObject {
public:
    explicit WordBasic(WordBasicSettings settings) : m_settings(std::move(settings)) {
        method(QStringLiteral("AppMaximize"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("AppMaximize"), a, 0);
            m_state = WindowState::Maximized;
        });
        method(QStringLiteral("AppMinimize"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("AppMinimize"), a, 0);
            m_state = WindowState::Minimized;
        });
        method(QStringLiteral("FileOpen"), [this](const OleArgs& a) { fileOpen(a); });
        method(QStringLiteral("Insert"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("Insert"), a, 1);
            document(QStringLiteral("Insert")).Insert(a[0].value.ToString());
        });
        method(QStringLiteral("LineUp"), [this](const OleArgs& a) {
            const QString name = QStringLiteral("LineUp");
            if (a.size() == 1)
                RequireArgs(name, a, 1);
            else
                RequireArgs(name, a, 2);
            document(name).LineUp(a[0].value.ToInt(), a.size() == 2 && a[1].value.ToInt() != 0);
        });
        method(QStringLiteral("TextToTable"), [this](const OleArgs& a) { textToTable(a); });
        method(QStringLiteral("FileSaveAs"), [this](const OleArgs& a) { fileSaveAs(a); });
        method(QStringLiteral("AppClose"), [this](const OleArgs& a) {
            RequireArgs(QStringLiteral("AppClose"), a, 0);
            m_closed = true;
            m_document.reset();
        });
    }

    QString TypeName() const override { return kProgId; }

    OleVariant Invoke(const QString& name, DispatchKind kind, const OleArgs& args) override {
        if (m_closed)
            throw EOleException(OleError::Failed,
                                QStringLiteral("%1.%2: the application has been closed").arg(kProgId, name));
        return DispatchObject::Invoke(name, kind, args);
    }

private:
    enum class WindowState { Hidden, Maximized, Minimized };

    void method(const QString& name, std::function<void(const OleArgs&)> f) {
        AddMethod(name, [f = std::move(f)](const OleArgs& a) {
            f(a);
            return OleVariant();
        });
    }

    RtfDocument& document(const QString& member) {
        if (!m_document)
            Fail(member, QStringLiteral("no document is open"));
        return *m_document;
    }

    QString resolve(const QString& name) const {
        if (QDir::isAbsolutePath(name))
            return name;
        const QString folder = !m_settings.folder.isEmpty()
                                   ? m_settings.folder
                                   : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(folder).filePath(name);
    }

    void fileOpen(const OleArgs& a) {
        const QString member = QStringLiteral("FileOpen");
        RequireArgs(member, a, 1);
        const QString path = resolve(a[0].value.ToString());
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            Fail(member, QStringLiteral("cannot open %1: %2").arg(path, f.errorString()));
        auto doc = std::make_unique<RtfDocument>();
        const QString error = doc->Load(f.readAll());
        if (!error.isEmpty())
            Fail(member, QStringLiteral("%1: %2").arg(path, error));
        m_document = std::move(doc);
    }

    void textToTable(const OleArgs& a) {
        const QString member = QStringLiteral("TextToTable");
        std::optional<int> convertFrom, numColumns;
        for (size_t i = 0; i < a.size(); ++i) {
            const QString n = a[i].name.toCaseFolded();
            if (n == QLatin1String("convertfrom") || (n.isEmpty() && i == 0))
                convertFrom = a[i].value.ToInt();
            else if (n == QLatin1String("numcolumns") || (n.isEmpty() && i == 1))
                numColumns = a[i].value.ToInt();
            else
                throw EOleException(
                    OleError::BadArguments,
                    QStringLiteral("%1.%2 has no argument \"%3\"").arg(kProgId, member, a[i].name));
        }
        const QString error = document(member).TextToTable(convertFrom.value_or(1), numColumns.value_or(0));
        if (!error.isEmpty())
            Fail(member, error);
    }

    void fileSaveAs(const OleArgs& a) {
        const QString member = QStringLiteral("FileSaveAs");
        RequireArgs(member, a, 1);
        RtfDocument& doc = document(member);
        const QString path = resolve(a[0].value.ToString());
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile f(path);
        const QByteArray rtf = doc.ToRtf();
        if (!f.open(QIODevice::WriteOnly) || f.write(rtf) != rtf.size() || !f.flush() || !f.commit())
            Fail(member, QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
        if (m_state == WindowState::Maximized)
            ShowWrittenFile(path);
    }

    WordBasicSettings m_settings;
    std::unique_ptr<RtfDocument> m_document;
    WindowState m_state = WindowState::Hidden;
    bool m_closed = false;
};

} // namespace

void RegisterWordBasicServer(Automation& automation, WordBasicSettings settings) {
    automation.RegisterServer(kProgId, [&automation, settings]() {
        auto app = std::make_shared<WordBasic>(settings);
        automation.RegisterActiveObject(kProgId, app);
        return AutomationRef(app);
    });
}

} // namespace platform
