package korvane.str.diskarray.cli;

import java.io.IOException;
import java.nio.file.AccessDeniedException;
import java.nio.file.DirectoryNotEmptyException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystemException;
import java.nio.file.NoSuchFileException;
import java.nio.file.NotDirectoryException;

/** File problems in plain words, for messages that name the file and what is wrong with it. */
final class Problems {
  private Problems() {}

  /** "FILE: what is wrong", without the name of the Java exception. */
  static String describe(IOException e) {
    String words;
    if (e instanceof NoSuchFileException) {
      words = "no such file or directory";
    } else if (e instanceof FileAlreadyExistsException) {
      words = "already exists";
    } else if (e instanceof NotDirectoryException) {
      words = "not a directory";
    } else if (e instanceof AccessDeniedException) {
      words = "permission denied";
    } else if (e instanceof DirectoryNotEmptyException) {
      words = "directory not empty";
    } else if (e instanceof FileSystemException) {
      String reason = ((FileSystemException) e).getReason();
      words = reason != null ? reason : "cannot be used";
    } else {
      String message = e.getMessage();
      return message != null ? message : "input or output failed";
    }
    String file = e instanceof FileSystemException ? ((FileSystemException) e).getFile() : null;
    return file == null ? words : file + ": " + words;
  }
}
