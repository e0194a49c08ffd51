#include "mainwindow/CRingToneDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

CRingToneDrop::Content CRingToneDrop::Read(const QMimeData* pData) {
    Content content;
    if (!pData)
        return content;
    if (pData->hasUrls()) {
        const QList<QUrl> urls = pData->urls();
        if (urls.size() != 1 || !urls.first().isLocalFile())
            return content;
        const QFileInfo info(urls.first().toLocalFile());
        if (!info.isFile())
            return content;
        content.iKind = File;
        content.sFolder = info.absolutePath();
        content.sFileName = info.fileName();
        return content;
    }
    if (pData->hasText()) {
        content.iKind = Text;
        content.sText = pData->text();
    }
    return content;
}
