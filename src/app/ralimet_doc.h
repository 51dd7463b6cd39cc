#pragma once

#include "framework/document.h"

// The program keeps no document: new, open and save work and read or write nothing.
class CRalimetDoc : public CDocument {
  DECLARE_DYNCREATE(CRalimetDoc)

 public:
  void Serialize(CArchive& ar) override;
};
