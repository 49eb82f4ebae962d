#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QStringList>

class QListWidget;

// The choice of the interface language among those listed in "languages.ini". One instance serves the
// whole run: the file is read once, and the row chosen last stays current between openings.
class SelectLanguage : public QDialog
{
    Q_OBJECT

public:
    struct Language
    {
        QString code;
        QString name;
    };

    // Sets the current language of the process-wide instance (created on first use) and, the first
    // time only, fills its list from "languages.ini" in the working directory.
    static void init(const QString &language, QWidget *window);
    // Asks the user; true and the chosen code in language when one was chosen.
    static bool selectLanguage(QString &language);

    // The languages offered while the interface runs in currentLanguage, in the order the file
    // gives them; empty when the file or the group is missing.
    static QList<Language> readLanguages(const QString &fileName, const QString &currentLanguage);

    explicit SelectLanguage(QWidget *parent = nullptr);

    void fill(const QString &language, const QString &fileName, QWidget *window = nullptr);
    bool choose(QString &language);
    QStringList languageCodes() const { return m_codes; }

private:
    QStringList m_codes;
    QString m_language = QStringLiteral("RU");
    bool m_filled = false;
    QPointer<QWidget> m_window;
    QListWidget *m_listWidget = nullptr;
};
