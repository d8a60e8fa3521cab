// The hint objects of OnUpdate: a new frame is in the current image record, or
// the view is to lay itself out again.
#pragma once

struct CurrentImage;

class CViewHint {
public:
    virtual ~CViewHint() = default;
};

// Asks for a re-layout; carries nothing.
class CUpdateViewHint : public CViewHint {};

// A newly arrived frame in `image`.
class CImageReadyHint : public CViewHint {
public:
    explicit CImageReadyHint(CurrentImage* image) : image(image) {}
    CurrentImage* image;
};
