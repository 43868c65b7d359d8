#pragma once

#include <QList>

// Recognises a fixed sequence of key codes typed one after the other. A wrong
// key restarts the match without being tried as the start of a new one.
class CKeySequenceChecker
{
public:
    CKeySequenceChecker();

    void pushKeyToSequence(int key);
    // Feeds one typed key; true when it completes the sequence.
    bool isSequenceMatched(int key);

private:
    int position;
    QList<int> sequence;
};
