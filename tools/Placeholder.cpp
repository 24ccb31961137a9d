// replaced by this folder's first source file
