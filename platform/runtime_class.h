// Run-time class records, as a class framework keeps them: a class's name,
// how to make an instance of it, and the record of its base class. A record
// can stand in data (a tree item's data word names an editor class by one).
#pragma once


struct RuntimeClass;

// The base of every class with a run-time record.
class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const RuntimeClass* GetRuntimeClass() const = 0;
};

struct RuntimeClass {
    const char* className;
    CObject* (*create)();  // null: not dynamically creatable
    const RuntimeClass* base;

    // Whether this class is `other` or derives from it, following the base records.
    bool IsDerivedFrom(const RuntimeClass& other) const
    {
        for (const RuntimeClass* record = this; record; record = record->base)
            if (record == &other)
                return true;
        return false;
    }
    // A new instance, owned by the caller; null when the class cannot be made.
    CObject* CreateObject() const { return create ? create() : nullptr; }
};

// The create function of a dynamically creatable class.
template <typename T>
CObject* CreateInstance()
{
    return new T;
}
