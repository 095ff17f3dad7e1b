#pragma once

#include <QSet>
#include <QString>

#include <vector>

class QIODevice;
class TGBasePanel;
class TGGraphicControl;
class TObjectStreamReader;
class TObjectStreamWriter;
struct TPropertyInfo;
using TPropertyList = std::vector<TPropertyInfo>;

// Writes design objects to the object stream and reads them back: design files, the
// clipboard file and the copy behind Clone. Each object is written as its class name, its
// name and its published properties (as its class lists them); reading creates the object by
// class name, names it "Component"+N and applies the properties through the setters while the
// object is marked as being read. Failures raise EStreamError with the message for the user.
//
// Made for one operation; the panel is both the owner against which names are checked and
// the parent of what is read.
class TGLabelObjectFiler {
public:
    explicit TGLabelObjectFiler(TGBasePanel& panel) : FPanel(panel) {}

    // Every object of the panel, bottom first. Written to a temporary file that replaces
    // FileName only once complete, so a failed save leaves the previous file whole.
    void SaveDesign(const QString& fileName);
    // Adds the objects of FileName to the panel; a missing file adds nothing.
    void LoadDesign(const QString& fileName);
    // The selected objects in selection order; nothing when nothing is selected.
    void SaveSelection(const QString& fileName);
    void SaveObject(const TGGraphicControl& object, const QString& fileName);
    // As LoadDesign, each object moved 15 pixels right and down.
    void PasteDesign(const QString& fileName);
    // Writes the object to memory and reads it straight back; returns the copy.
    TGGraphicControl* CopyObject(const TGGraphicControl& object);

    // The stream itself: ListStart, one record per object, EndMarker. Geometry is written at
    // 100 %, whatever the zoom.
    static void WriteObjects(QIODevice& device, const std::vector<TGGraphicControl*>& objects);
    // Writes a whole file through a temporary file renamed over FileName when complete.
    static void WriteFile(const QString& fileName, const std::vector<TGGraphicControl*>& objects);
    // Reads a whole stream onto the panel, completes every object with Loaded and shows it at
    // the panel's zoom. When reading fails inside a record, that object is freed; objects read
    // before it stay on the panel without Loaded, and the error propagates.
    std::vector<TGGraphicControl*> ReadObjects(const char* data, qint64 size);

    // One object's record, its geometry at 100 %.
    static void WriteObject(TObjectStreamWriter& writer, const TGGraphicControl& object);

private:
    void ReadFile(const QString& fileName);
    TGGraphicControl* ReadObject(TObjectStreamReader& reader);
    void ReadProperty(TObjectStreamReader& reader, TGGraphicControl& object);
    // The property of that name, searched from just after the one found last; or nullptr.
    const TPropertyInfo* FindProperty(const TPropertyList& properties, const QString& name);
    void GiveName(TGGraphicControl& object, const QString& storedName);

    TGBasePanel& FPanel;
    bool FPaste = false;
    int FNextComponent = 0;
    QSet<QString> FTakenNames; // lower case

    int FPropertyHint = 0;
};
