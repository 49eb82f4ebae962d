#include "tableexport.h"

#include "copyabletableview.h"

ExportResult exportModelsCsv(const QList<QAbstractItemModel *> &models, const QString &title,
                             const QString &fileName, const QDateTime &generatedAt)
{
    if (models.isEmpty())
        return {false, fileName, CopyableTableView::tr("Нет таблиц для записи")};
    CopyableTableView view;
    view.setTitle(title);
    QString text;
    for (int i = 0; i < models.size(); ++i) {
        view.setModel(models.at(i));
        text += view.toCsv(i == 0, generatedAt);
        if (i + 1 < models.size())
            text += QStringLiteral("\n\n\n\n");
    }
    return view.writeTextFile(fileName, text, QStringLiteral("Windows-1251"), true, true);
}

ExportResult exportHtmlFile(CopyableTableView *view, const QString &textBefore, const QString &textAfter,
                            const QString &fileName)
{
    if (!view || fileName.isEmpty())
        return {false, fileName, CopyableTableView::tr("Не задано имя файла")};
    // The page declares UTF-8, so it is written in UTF-8 whatever the locale.
    return view->writeTextFile(fileName, view->toHtmlDocument(false, textBefore, textAfter),
                               QStringLiteral("UTF-8"), true, true);
}
