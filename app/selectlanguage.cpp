#include "selectlanguage.h"

#include "applogging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

QPointer<SelectLanguage> instance;

SelectLanguage *theInstance()
{
    if (!instance) {
        instance = new SelectLanguage;
        // It has no parent, so nothing else would delete it before the application object goes.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete instance.data(); });
    }
    return instance;
}

} // namespace

void SelectLanguage::init(const QString &language, QWidget *window)
{
    theInstance()->fill(language, QStringLiteral("languages.ini"), window);
}

bool SelectLanguage::selectLanguage(QString &language)
{
    return theInstance()->choose(language);
}

QList<SelectLanguage::Language> SelectLanguage::readLanguages(const QString &fileName,
                                                              const QString &currentLanguage)
{
    QList<Language> languages;
    const QFileInfo info(fileName);
    if (!info.exists() || !info.isFile())
        return languages;
    qCDebug(lcApp, "ini file exists");
    QSettings ini(fileName, QSettings::IniFormat);
    ini.setIniCodec("UTF-8");
    const QStringList groups = ini.childGroups();
    for (const QString &group : groups) {
        if (group.compare(currentLanguage, Qt::CaseInsensitive) != 0)
            continue;
        ini.beginGroup(group);
        const QStringList codes = ini.childKeys();
        for (const QString &code : codes) {
            // An unquoted comma makes the INI reader split the name into a list.
            const QVariant value = ini.value(code, QString());
            QString name = value.type() == QVariant::StringList
                               ? value.toStringList().join(QStringLiteral(", "))
                               : value.toString();
            languages.append({code, name.isEmpty() ? code : name});
        }
        ini.endGroup();
        break;
    }
    return languages;
}

SelectLanguage::SelectLanguage(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Выбор языка"));

    m_listWidget = new QListWidget(this);
    m_listWidget->setObjectName(QStringLiteral("languageList"));
    m_listWidget->setSortingEnabled(false);
    connect(m_listWidget, &QListWidget::itemActivated, this, &QDialog::accept);
    auto *form = new QFormLayout;
    form->setContentsMargins(4, 16, 4, 0);
    form->addRow(new QLabel(tr("Доступные языки:"), this));
    form->addRow(m_listWidget);

    auto *saveButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/ok.png")), tr("Сохранить"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    auto *cancelButton =
        new QPushButton(QIcon(QStringLiteral(":/images/buttons/cancel.png")), tr("Отмена"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(saveButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(11, 5, 11, 11);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addLayout(buttons);
    adjustSize();
    setFixedSize(size());
}

void SelectLanguage::fill(const QString &language, const QString &fileName, QWidget *window)
{
    m_language = language;
    m_window = window;
    if (m_filled)
        return;
    m_filled = true;
    const QList<Language> languages = readLanguages(fileName, language);
    for (const Language &entry : languages) {
        m_codes.append(entry.code);
        m_listWidget->addItem(entry.name);
    }
}

bool SelectLanguage::choose(QString &language)
{
    if (isVisible())
        return false;
    if (m_codes.isEmpty()) {
        QMessageBox::critical(nullptr, tr("Ошибка"), tr("Выбор языка не настроен\n(см. 'languages.ini')."),
                              QMessageBox::Ok);
        return false;
    }
    if (m_listWidget->currentRow() < 0)
        m_listWidget->setCurrentRow(qMax(0, m_codes.indexOf(m_language)));
    if (m_window)
        move(m_window->frameGeometry().center() - rect().center());
    if (QDialog::exec() != QDialog::Accepted)
        return false;
    const int row = m_listWidget->currentRow();
    if (row < 0 || row >= m_codes.size())
        return false;
    language = m_codes.at(row);
    return true;
}
