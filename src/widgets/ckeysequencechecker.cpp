#include "ckeysequencechecker.h"

CKeySequenceChecker::CKeySequenceChecker()
    : position(0)
{ }

void CKeySequenceChecker::pushKeyToSequence(int key) { sequence.append(key); }

bool CKeySequenceChecker::isSequenceMatched(int key)
{
    if (sequence.isEmpty())
        return false;
    if (key != sequence.at(position)) {
        position = 0;
        return false;
    }
    if (position == sequence.size() - 1) {
        position = 0;
        return true;
    }
    ++position;
    return false;
}
