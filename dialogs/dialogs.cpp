// The secondary windows of the editor.
