#include "server/servicelabel.h"

#include "printing/jobrequest.h"
#include "storage/document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool LoadServiceLabel(const QString &labelsDir, const QString &name, TItemContainer &items, QString *error)
{
    const QString path = QDir(labelsDir).filePath(name);
    if (!SafeLabelName(name) || !QFileInfo(path).isFile()) {
        *error = QCoreApplication::translate("Service", "No label %1 in the labels' folder.").arg(name);
        return false;
    }
    TLabelDocument doc(items);
    QString why;
    if (!doc.LoadLabelFile(path, &why)) {
        *error = QCoreApplication::translate("Service", "The label %1 cannot be read.").arg(name);
        return false;
    }
    return true;
}
