// The root of the framework's classes: run-time class information, dynamic
// creation and the (empty) serialisation hook.
//
// A class that wants its run-time class known writes DECLARE_DYNAMIC(C) in
// its body and IMPLEMENT_DYNAMIC(C, Base) in one source file; the DYNCREATE
// pair also gives it a CreateObject that the document template and the view
// switching use to make objects from a CRuntimeClass. The class records are
// constant-initialised, so they are usable from any static constructor.
#pragma once

#include <cassert>

#include "platform/base/WinTypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serialisable
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // Null when the class has no dynamic creation.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

// The archive the program's Serialize overrides receive. Documents are never
// stored through it here, so it only says which way it would go.
class CArchive {
  public:
    enum Mode { store = 0, load = 1 };
    explicit CArchive(UINT mode = store) : m_nMode(mode) {}
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }

  private:
    UINT m_nMode;
};

class CObject {
  public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;
    BOOL IsSerializable() const;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}

  protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)               \
  public:                                         \
    static const CRuntimeClass class##class_name; \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create) \
    const CRuntimeClass class_name::class##class_name = {                   \
        #class_name, static_cast<int>(sizeof(class_name)), schema, create,  \
        &base_class_name::class##base_class_name};                          \
    CRuntimeClass* class_name::GetRuntimeClass() const {                    \
        return RUNTIME_CLASS(class_name);                                   \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() {                \
        return new class_name;                           \
    }                                                    \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema) \
    CObject* class_name::CreateObject() {                     \
        return new class_name;                                \
    }                                                         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)

// Diagnostics as the program's code writes them. ASSERT is the C library's
// assert (gone in release builds); VERIFY keeps its expression in every build.
#define ASSERT(f) assert(f)
#define VERIFY(f) ((f) ? (void)0 : ASSERT(false && #f))
#define ASSERT_VALID(p) ASSERT((p) != nullptr)
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define UNUSED_ALWAYS(x) ((void)(x))

// The object as `class_name` when it is one, else null.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

CObject* AfxDynamicDownCast(CRuntimeClass* cls, CObject* object);
