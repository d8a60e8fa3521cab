/* kvxmoviemaker.h - AVI clip writer with a C ABI. */
#ifndef KVXMOVIEMAKER_H
#define KVXMOVIEMAKER_H
#endif
