#pragma once

#include <memory>
#include <string>

#include "framework/frame.h"

class CSingleDocTemplate;

// What a document reads from or writes to when it is opened or saved. The program's document
// reads and writes nothing, so the archive carries nothing: opening still needs the file to be
// there, and saving still makes it.
class CArchive {};

// The data behind the views. New, open and save go through here; the program's own document
// class says what is read and written (Serialize).
class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)

 public:
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(const wchar_t* pathName);
  virtual BOOL OnSaveDocument(const wchar_t* pathName);
  virtual void Serialize(CArchive& ar);
  virtual void DeleteContents() {}

  void SetPathName(const wchar_t* pathName) { m_strPathName = pathName; }
  void SetTitle(const wchar_t* title) { m_strTitle = title; }

  // Saves to pathName, or to a file the user picks when it is empty. False when nothing was saved.
  bool DoSave(const wchar_t* pathName);

 protected:
  void OnFileSave();
  void OnFileSaveAs();

  DECLARE_MESSAGE_MAP()

 private:
  std::wstring m_strPathName;
  std::wstring m_strTitle;
};

// Ties one document class, one frame class and one view class to the resources of nIDResource,
// for a program that shows one document at a time.
class CSingleDocTemplate : public CCmdTarget {
 public:
  CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                     const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;

  // Makes the document, frame and view the first time; then starts a new document (no path) or
  // reads pathName into the one document. Answers the document, or null on failure.
  CDocument* OpenDocumentFile(const wchar_t* pathName);

 private:
  CFrameWnd* CreateNewFrame(CDocument* pDoc);

  UINT m_nIDResource;
  const CRuntimeClass* m_pDocClass;
  const CRuntimeClass* m_pFrameClass;
  const CRuntimeClass* m_pViewClass;
  std::unique_ptr<CDocument> m_pOnlyDoc;
};

// The field of the document string nIDResource (fields separated by newlines): 0 the window
// title, 2 the new-file name, ...; empty when it is missing.
std::wstring AfxLoadDocString(UINT nIDResource, int field);
