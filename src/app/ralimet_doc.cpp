#include "app/ralimet_doc.h"

IMPLEMENT_DYNCREATE(CRalimetDoc, CDocument)

void CRalimetDoc::Serialize(CArchive&) {}
