#pragma once

#include "units/converter_dlg.h"

// The converter windows. Each is the common pattern with its own table of units and rules
// (converter_tables.cpp); the speed window adds its cursor (speed_dlg.h).
extern const ConverterTable kLengthTable;
extern const ConverterTable kAreaTable;
extern const ConverterTable kVolumeTable;
extern const ConverterTable kWeightTable;
extern const ConverterTable kSpeedTable;
extern const ConverterTable kTimeTable;
extern const ConverterTable kTemperatureTable;

class CLengthDlg : public CConverterDlg {
 public:
  CLengthDlg() : CConverterDlg(kLengthTable) {}
};

class CAreaDlg : public CConverterDlg {
 public:
  CAreaDlg() : CConverterDlg(kAreaTable) {}
};

class CVolumeDlg : public CConverterDlg {
 public:
  CVolumeDlg() : CConverterDlg(kVolumeTable) {}
};

class CWeightDlg : public CConverterDlg {
 public:
  CWeightDlg() : CConverterDlg(kWeightTable) {}
};

class CTimeDlg : public CConverterDlg {
 public:
  CTimeDlg() : CConverterDlg(kTimeTable) {}
};

class CTempDlg : public CConverterDlg {
 public:
  CTempDlg() : CConverterDlg(kTemperatureTable) {}
};
