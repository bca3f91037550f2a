// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "OptionsValues.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

class frmOptions;

// The settings object behind the options dialog. The host copies its
// settings into the properties, lets the user edit them (ShowWnd) and reads
// them back when the object raises ApplyCurrent. Flags are bool, "byte"
// settings are unsigned 8-bit; each property is backed by one field. The
// object owns its dialog, frmOptions, from its creation to its end (in a
// program with windows; elsewhere there is no dialog and ShowWnd returns
// at once).
class gConfig : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString aP MEMBER m_aP)
    Q_PROPERTY(QObject *frmMe READ frmMe WRITE setFrmMe)
    Q_PROPERTY(QObject *appMe READ appMe WRITE setAppMe)
    Q_PROPERTY(bool alwaysConnected MEMBER m_alwaysConnected)
    Q_PROPERTY(quint8 mT MEMBER m_mT)
    Q_PROPERTY(quint8 oC MEMBER m_oC)
    Q_PROPERTY(bool dTI MEMBER m_dTI)
    Q_PROPERTY(bool hAI MEMBER m_hAI)
    Q_PROPERTY(bool aI MEMBER m_aI)
    Q_PROPERTY(quint8 cAF MEMBER m_cAF)
    Q_PROPERTY(bool bFW MEMBER m_bFW)
    Q_PROPERTY(quint8 pB MEMBER m_pB)
    Q_PROPERTY(bool uSK MEMBER m_uSK)
    Q_PROPERTY(bool aLU MEMBER m_aLU)
    Q_PROPERTY(bool aSU MEMBER m_aSU)
    Q_PROPERTY(bool aLS MEMBER m_aLS)
    Q_PROPERTY(bool aSS MEMBER m_aSS)
    Q_PROPERTY(quint8 tP MEMBER m_tP)
    Q_PROPERTY(bool iAOT MEMBER m_iAOT)
    Q_PROPERTY(bool mAOT MEMBER m_mAOT)

public:
    explicit gConfig(QObject *parent = nullptr);
    ~gConfig() override;

    // The host's main window, which the library calls back by name.
    QObject *frmMe() const { return m_frmMe; }
    void setFrmMe(QObject *window) { m_frmMe = window; }
    // The host's application object.
    QObject *appMe() const { return m_appMe; }
    void setAppMe(QObject *application) { m_appMe = application; }

    // Raises ApplyCurrent; the options dialog's "Apply" and "OK" end with it
    // once the dialog's controls have been copied into the properties.
    Q_INVOKABLE void applyCurrent();

    // The program's registered path, as the host answers
    // gcfg_findCurrentVersion("TESSALY.EXE", ""); "" without a host or when
    // the host has no such procedure.
    Q_INVOKABLE QString findCurrentVersion() const;

    // Fills the dialog from the properties and shows it modally; returns
    // when it has closed. The result is left empty.
    Q_INVOKABLE QVariant ShowWnd();

signals:
    // The properties hold the settings the user applied.
    void ApplyCurrent();

private slots:
    // The dialog's "Apply" or "OK": the startup shortcut, the properties
    // from the controls, then ApplyCurrent to the host. A change of the
    // floating button hides the dialog meanwhile; after "Apply" it is shown
    // again.
    void gcfg_ApplyCurrent();
    // The dialog's "Help": the host's out_ShowHelpID with the dialog's window.
    void showHelp(int contextId);

private:
    void keepAboveHostWindow();
    OptionsValues values() const;
    void setValues(const OptionsValues &values);

    std::unique_ptr<frmOptions> m_dialog;
    QString m_programPath;  // the host's answer when the dialog opened
    bool m_showAgain = false;

    QString m_aP;
    QPointer<QObject> m_frmMe;  // the host's objects may go before this one
    QPointer<QObject> m_appMe;
    bool m_alwaysConnected = false;
    quint8 m_mT = 0;
    quint8 m_oC = 0;
    bool m_dTI = false;
    bool m_hAI = false;
    bool m_aI = false;
    quint8 m_cAF = 0;
    bool m_bFW = false;
    quint8 m_pB = 0;
    bool m_uSK = false;
    bool m_aLU = false;
    bool m_aSU = false;
    bool m_aLS = false;
    bool m_aSS = false;
    quint8 m_tP = 0;
    bool m_iAOT = false;
    bool m_mAOT = false;
};
