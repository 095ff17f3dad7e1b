#pragma once

#include <QByteArray>
#include <QList>

#include <map>
#include <utility>
#include <vector>

// A finished PDF file with a classic cross-reference table, as Qt and most writers lay one
// out, read just far enough to find its objects and to add an incremental update.
class TPdfFile {
public:
    // A file that is not a PDF, or whose cross-references are a stream, is not valid.
    explicit TPdfFile(QByteArray bytes);

    bool IsValid() const { return FValid; }
    const QByteArray& Bytes() const { return FBytes; }
    // One more than the highest object number: where new objects start.
    int Size() const { return FSize; }
    // The object numbers of the catalog and the document information (0 when there is none).
    int Root() const;
    int Info() const;
    // The object numbers in use, from the cross-reference table.
    QList<int> Objects() const;
    // What lies between "n g obj" and "endobj"; empty when there is no such object.
    QByteArray Object(int number) const;
    // The data of a stream object, as many bytes as its /Length says, still encoded.
    QByteArray StreamData(int number) const;
    int Generation(int number) const;
    // The page objects, in the order of the page tree.
    QList<int> Pages() const;
    // The trailer dictionary's text between "<<" and ">>", and where the table starts.
    const QByteArray& Trailer() const { return FTrailer; }
    qint64 Table() const { return FTable; }

private:
    // Where the object's body starts, just past "n g obj"; -1 when there is no such object.
    qsizetype BodyStart(int number) const;
    // Where the object's stream data starts in the file and how long it is; -1 when the
    // object is no stream.
    std::pair<qsizetype, qint64> StreamAt(int number) const;

    struct TEntry {
        qint64 Offset = 0;
        int Generation = 0;
    };
    QByteArray FBytes;
    QByteArray FTrailer;
    qint64 FTable = 0;
    std::map<int, TEntry> FEntries;
    int FSize = 0;
    bool FValid = false;
};

// Objects replaced or added, written after the file with their own cross-reference
// section chained to the old one, so the file is kept byte for byte and every offset stays.
class TPdfUpdate {
public:
    explicit TPdfUpdate(const TPdfFile& file) : FFile(file), FSize(file.Size()) {}

    // A number for a new object.
    int NewObject() { return FSize++; }
    // The object's body, what goes between "n g obj" and "endobj".
    void Set(int number, const QByteArray& body) { FBodies[number] = body; }
    QByteArray Finish() const;

private:
    const TPdfFile& FFile;
    int FSize;
    std::map<int, QByteArray> FBodies;
};

// The end of the dictionary that starts at `from` ("<<"), just past its ">>"; -1 when it does
// not close. Nested dictionaries count; the dictionaries read here hold no brackets in strings.
qsizetype PdfDictionaryEnd(const QByteArray& text, qsizetype from);
// The text inside an object's leading dictionary, between "<<" and ">>"; empty when the
// object is not a dictionary.
QByteArray PdfDictionary(const QByteArray& object);
// The object number an entry "/Key n g R" of a dictionary refers to; 0 when there is none.
int PdfReference(const QByteArray& dictionary, const char* key);
