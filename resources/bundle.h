#ifndef BUNDLE_H
#define BUNDLE_H

// The resource bundle (fonts, style sheets, pictures, translations) lives in
// the static core library, whose resources are registered only on request.
// Safe to call more than once.
void initResourceBundle();

#endif // BUNDLE_H
