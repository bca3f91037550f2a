#include "ChosenFileDialog.h"

ChosenFileDialog::ChosenFileDialog(const QString &chosen, QObject *form)
    : QObject(form)
    , m_chosen(chosen)
{
    setObjectName(QStringLiteral("dlgDialog"));
}

bool ChosenFileDialog::ShowOpen()
{
    m_fileName = m_chosen;
    return true;
}
