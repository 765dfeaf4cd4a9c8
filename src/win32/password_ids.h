// Resource and control numbers of the two password dialogs (300 to 399).
#pragma once

#define IDD_PWEINGABE 300
#define IDD_PWABFRAGE 301

// frmPWEingabe
#define IDC_LBLNEU 310
#define IDC_TXTNEU 311
#define IDC_LBLBESTAETIGUNG 312
#define IDC_TXTBESTAETIGUNG 313
#define IDC_EINGABE_OK 314
#define IDC_ABBRECHEN 315

// frmPWAbfrage
#define IDC_TXTPASSWORT 320
#define IDC_ABFRAGE_OK 321
