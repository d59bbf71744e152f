#pragma once

#include "xmlParser/EXMLContentKind.h"
#include "xmlParser/EXMLEncoding.h"
#include "xmlParser/EXMLError.h"
#include "xmlParser/SXMLAttr.h"
#include "xmlParser/SXMLClear.h"
#include "xmlParser/SXMLResults.h"

#include <cstddef>

struct SXMLElement;
struct SXMLContent;

// A handle on one element of an XML document tree. Elements are reference counted:
// every handle and the children array of the parent hold one count, and an element
// lives as long as one of them does. A child that is still held when its parent dies
// survives as a top node without parent.
//
// The default-constructed handle is the empty node, the "not found" answer of every
// lookup: read operations on it give null, 0, false or the empty node, and building
// operations do nothing (the Owned variants then free what they were handed).
//
// All strings are narrow, zero-terminated and in the document's encoding. Strings that
// the tree stores belong to it: a pointer returned by GetName, GetText, GetAttribute
// and the like stays valid until that content is removed or its element destroyed.
// Element and attribute names are compared without regard to ASCII letter case.
// Indexes out of range, negative ones included, give the nothing-answer.
//
// Positions (build operations): -1 (any negative value), or any value not below the
// number of children, texts and clears, appends; a position p inside inserts the new
// content before the content at p in document order.
//
//     CXMLNode top = CXMLNode::CreateTopNode("xml version='1.0'", true);
//     CXMLNode root = top.AddChild("Project");
//     root.AddAttribute("version", "1");
//     char* text = top.CreateText(true);   // ... FreeXMLText(text);
//
//     SXMLResults results;
//     CXMLNode doc = CXMLNode::ParseString(text, "Project", &results);
//     if (doc.IsEmpty()) ... results.error, results.line, results.column
class CXMLNode {
public:
    CXMLNode() = default;
    CXMLNode(const CXMLNode& other);
    CXMLNode(CXMLNode&& other) noexcept;
    CXMLNode& operator=(const CXMLNode& other);
    CXMLNode& operator=(CXMLNode&& other) noexcept;
    ~CXMLNode();

    // --- Module services ---

    // Sets the global options (see SXMLOptions). The three flags are always stored; the
    // encoding only when it is 1-3. Returns true on FAILURE (an encoding out of range).
    static bool SetParserOptions(EXMLEncoding encoding = xenUTF8, bool guessWideCharacters = true,
                                 bool dropWhiteSpace = true,
                                 bool removeCommentsInMiddleOfText = true);
    // The fixed English text of a code; "Unknown" for any other value.
    static const char* DescribeError(EXMLError error);
    static const char* GetLibraryVersion();

    // --- Parsing (CXMLNodeParse.cpp, CXMLNodeFile.cpp) ---

    // Parses zero-terminated text. Returns the element named `tag` (searched through
    // declaration elements) or, without a tag, the document's top element (a nameless
    // root when the text has several top-level elements or texts); the empty node when
    // the code is an error (above 2) or the tag is not found. `results` (optional)
    // receives the code and, for a non-zero code, its line and column.
    static CXMLNode ParseString(const char* text, const char* tag = nullptr,
                                SXMLResults* results = nullptr);
    // Reads a whole file (UTF-16 text converted, a byte-order mark skipped) and parses it.
    static CXMLNode LoadFile(const char* path, const char* tag = nullptr,
                             SXMLResults* results = nullptr);
    // As LoadFile, after guessing the encoding from the file's start; on any non-zero
    // code it shows a message box and ends the program with exit code 255.
    static CXMLNode LoadFileOrExit(const char* path, const char* tag = nullptr);
    // Guesses the encoding of a file's first bytes (0 when it cannot tell).
    static EXMLEncoding DetectEncoding(const void* bytes, size_t length,
                                       bool useDeclaration = true);

    // --- Reading (CXMLNode.cpp) ---

    bool IsEmpty() const { return m_element == nullptr; }
    const char* GetName() const;
    bool IsDeclarationNode() const;
    CXMLNode GetParent() const;
    int GetChildCount() const;
    int GetTextCount() const;
    int GetClearCount() const;
    int GetAttributeCount() const;
    // Children, texts, clears and attributes together.
    int GetContentCount() const;

    CXMLNode GetChild(int index) const;
    // The first child named `name` at or after *runningIndex (0 without one); on success
    // *runningIndex becomes the child's index + 1, on failure it stays.
    CXMLNode FindChild(const char* name, int* runningIndex = nullptr) const;
    // n >= 0: the (n+1)-th child named `name`; n < 0: the last one.
    CXMLNode FindNthChild(const char* name, int n) const;
    // As FindChild, for a child that also has the attribute `attributeName` with the value
    // `attributeValue` (compared without case; null: any value).
    CXMLNode FindChildWithAttribute(const char* name, const char* attributeName,
                                    const char* attributeValue = nullptr,
                                    int* runningIndex = nullptr) const;
    int CountChildren(const char* name) const;

    const char* GetText(int index = 0) const;
    SXMLClear GetClearContent(int index = 0) const;
    SXMLAttr GetAttributeAt(int index) const;
    const char* GetAttributeNameAt(int index) const;
    const char* GetAttributeValueAt(int index) const;
    // The value of the (n+1)-th attribute named `name`; null when there is none or it
    // was written without a value.
    const char* GetAttribute(const char* name, int n = 0) const;
    bool HasAttribute(const char* name) const;
    // Attributes first, then children, texts and clears in document order; kind
    // xcNone past the end.
    SXMLContent GetContentAt(int index) const;

    // Position in document order of a content, or -1.
    int GetOrderIndexOfText(int index) const;
    int GetOrderIndexOfText(const char* text) const; // the stored pointer
    int GetOrderIndexOfClear(int index) const;
    int GetOrderIndexOfClear(const char* value) const; // the stored pointer
    int GetOrderIndexOfChild(int index) const;
    int GetOrderIndexOfChild(const CXMLNode& child) const;
    int GetOrderIndexOfChild(const char* name, int n) const; // the (n+1)-th so named

    // --- Building (CXMLNodeBuild.cpp): strings are copied ---

    // A new element without parent or contents.
    static CXMLNode CreateTopNode(const char* name = nullptr, bool isDeclaration = false);
    // The new child; the empty node for a null name or on the empty node.
    CXMLNode AddChild(const char* name, bool isDeclaration = false, int position = -1);
    // The stored attribute (not checked for duplicates; value may be null); an empty
    // record for a null name.
    SXMLAttr AddAttribute(const char* name, const char* value);
    // The stored copy, or null.
    const char* AddText(const char* text, int position = -1);
    // Null markers stand for "<![CDATA[" and "]]>"; markers are not copied and must
    // outlive the tree. Returns the stored record (three nulls for a null value).
    SXMLClear AddClearContent(const char* value, const char* openTag = nullptr,
                              const char* closeTag = nullptr, int position = -1);
    // Moves an existing element here: away from its former parent, or from top node to
    // child. A nameless element (a parse root) is not attached itself: its children are
    // moved here at successive positions. Returns `child`; the empty node when `child`
    // is this element or one of its ancestors (a tree may not contain itself).
    CXMLNode AttachChild(const CXMLNode& child, int position = -1);

    // The same, taking over strings allocated with malloc (freed when nothing is added).
    CXMLNode AddChildOwned(char* name, bool isDeclaration = false, int position = -1);
    SXMLAttr AddAttributeOwned(char* name, char* value);
    const char* AddTextOwned(char* text, int position = -1);
    SXMLClear AddClearOwned(char* value, const char* openTag = nullptr,
                            const char* closeTag = nullptr, int position = -1);

    // --- Editing (CXMLNodeEdit.cpp) ---

    // A null name changes nothing.
    void Rename(const char* name);
    void RenameOwned(char* name);
    // Replace the attribute found by index, by name or by a record returned earlier
    // (matched by its stored name); add it when none is found.
    SXMLAttr ReplaceAttribute(int index, const char* name, const char* value);
    SXMLAttr ReplaceAttribute(const char* oldName, const char* name, const char* value);
    SXMLAttr ReplaceAttribute(const SXMLAttr& old, const char* name, const char* value);
    // Replace the text (clear value) found by index or by its stored pointer; add it
    // when none is found.
    const char* ReplaceText(int index, const char* text);
    const char* ReplaceText(const char* oldText, const char* text);
    SXMLClear ReplaceClear(int index, const char* value);
    SXMLClear ReplaceClear(const char* oldValue, const char* value);
    void RemoveAttribute(int index);
    void RemoveAttribute(const char* name); // the first so named
    void RemoveAttribute(const SXMLAttr& attribute);
    void RemoveText(int index);
    void RemoveText(const char* text);
    void RemoveClear(int index);
    void RemoveClear(const char* value);
    void RemoveClear(const SXMLClear& clear);
    // Unlinks the element from its parent and frees its name and every content; other
    // handles then see a nameless element without contents.
    void ClearAndDetach();
    // A deep copy as a new top node (markers shared); the empty node on failure.
    CXMLNode CloneTree() const;

    // --- Writing (CXMLNodeWrite.cpp, CXMLNodeFile.cpp) ---

    // Renders the tree as a new string, released with FreeXMLText. `layout` indents with
    // tabs and breaks lines; it takes effect only while the dropWhiteSpace option is on.
    // Stores the length without the terminating zero through `length` when given.
    // Null (length 0) for the empty node or when memory runs out.
    char* CreateText(bool layout = true, size_t* length = nullptr) const;
    // Writes an XML declaration header (unless the tree has one) and the rendered tree
    // to a file; with the UTF-8 encoding a byte-order mark first. Returns xeNone,
    // xeCannotOpenWriteFile or xeCannotWriteFile; the empty node writes nothing.
    EXMLError SaveToFile(const char* path, const char* encodingName = nullptr,
                         bool layout = true) const;

private:
    friend class CXMLParser;

    // A handle that takes a new count on `element`.
    explicit CXMLNode(SXMLElement* element);
    // A handle that takes over the count of a newly created element.
    static CXMLNode Adopt(SXMLElement* element);
    // Inserts a newly created child (count 1, held by the children array).
    CXMLNode InsertNewChild(char* name, bool isDeclaration, int position);
    SXMLAttr InsertAttribute(char* name, char* value);
    const char* InsertText(char* text, int position);
    SXMLClear InsertClear(char* value, const char* openTag, const char* closeTag, int position);
    void MoveChild(SXMLElement* child, int position);
    void ReplaceName(char* name);
    int FindAttributeIndex(const char* name, int n) const;
    // Index of the first child named `name` at or after `from`, or -1.
    int FindChildIndex(const char* name, int from) const;
    // Index of the (n+1)-th child named `name` (n < 0: the last), or -1.
    int FindNthChildIndex(const char* name, int n) const;

    SXMLElement* m_element = nullptr;
};

// Releases a string returned by CXMLNode::CreateText; null is allowed.
void FreeXMLText(char* text);
