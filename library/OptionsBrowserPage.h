#pragma once

#include "OptionsValues.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QRadioButton;

// The "Browser" page: the preferred browser with "IE3 Compatibility", and
// where added URLs are also stored.
class OptionsBrowserPage : public QWidget
{
    Q_OBJECT

public:
    explicit OptionsBrowserPage(QWidget *parent = nullptr);

    void load(const OptionsValues &values);
    // pB, uSK and cAF from the controls.
    void store(OptionsValues &values) const;

private:
    // "IE3 Compatibility" can be changed only for Internet Explorer; its
    // check mark stays (and is applied) whatever the browser.
    void updateCompatibility();

    QList<QRadioButton *> m_option1;
    QCheckBox *m_check2 = nullptr;
    QList<QRadioButton *> m_optAF;
};
