#include "windows/yesnoquestion.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QMessageBox>

bool askYesNo(QWidget* parent, const CaptionTable& captions, const QString& question)
{
    QMessageBox box(QMessageBox::Question, captions.textOrEnglish(CaptionNo::ProgramName),
                    QString(), QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("YesNoQuestion"));
    box.setTextFormat(Qt::PlainText);
    box.setText(question);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
