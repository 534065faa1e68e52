/*
 * Machine-dependent JNI types for 32-bit Windows (i686).
 *
 * The JDK's jni.h is platform-neutral and takes the export macros and the
 * primitive integer widths from this file. A 32-bit Windows JVM calls native
 * methods with the stdcall convention and binds them by the decorated name
 * _Java_<class>_<method>@N.
 */
#ifndef KX_WIN32_JNI_MD_H
#define KX_WIN32_JNI_MD_H

#if !defined(_WIN32) || defined(_WIN64)
#error "this jni_md.h is for 32-bit Windows builds only"
#endif

#if defined(_MSC_VER)
#define JNIEXPORT __declspec(dllexport)
#else
/* GNU ld would export a dllexport stdcall function as Java_x@N, without the
 * leading underscore the JVM looks up. The MinGW build lists every export
 * in a generated .def file instead (cmake/Win32JniExports.cmake). */
#define JNIEXPORT
#endif
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

/* 32 bits wide; long, as in the Windows JDK's own header. */
typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif /* KX_WIN32_JNI_MD_H */
