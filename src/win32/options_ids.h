// Resource ids of the options dialog (the range 200-299 is the settings').
// Plain defines: the dialog template includes this file too.
#pragma once

#define IDD_OPTIONEN 200
#define IDC_LBLBREITE 201
#define IDC_TXTBREITE 202
#define IDC_LBLHOEHE 203
#define IDC_TXTHOEHE 204
#define IDC_LBLINTERVALL 205
#define IDC_TXTINTERVALL 206
#define IDC_CMDDATEI 207
#define IDC_CHKSPEICHERN 208
#define IDC_CMDSPEICHER 209
#define IDC_LBLTEMPO 210
#define IDC_TXTTEMPO 211
#define IDC_CHKRUND 212
#define IDC_CHKALLEBILDSCHIRME 213
